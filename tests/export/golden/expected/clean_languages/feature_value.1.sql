INSERT INTO `ps_feature_value` (`id_feature_value`,`id_feature`) VALUES (1,3);
INSERT INTO `ps_feature_value` (`id_feature_value`,`id_feature`) VALUES (2,4);
INSERT INTO `ps_feature_value` (`id_feature_value`,`id_feature`) VALUES (3,1);
INSERT INTO `ps_feature_value` (`id_feature_value`,`id_feature`) VALUES (4,2);
INSERT INTO `ps_feature_value` (`id_feature_value`,`id_feature`) VALUES (5,4);
