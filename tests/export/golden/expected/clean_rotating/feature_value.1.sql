INSERT INTO `ps_feature_value` (`id_feature_value`,`id_feature`) VALUES (1,3),(2,4),(3,1);
INSERT INTO `ps_feature_value` (`id_feature_value`,`id_feature`) VALUES (4,2),(5,4);
