INSERT INTO `ps_feature_value` (`id_feature_value`,`id_feature`) VALUES (1,2),(2,1);
