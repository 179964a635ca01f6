INSERT INTO `ps_feature_value_lang` (`id_feature_value`,`id_lang`,`value`) VALUES (1,1,'Front Axle'),(2,1,'80'),(3,1,'93');
INSERT INTO `ps_feature_value_lang` (`id_feature_value`,`id_lang`,`value`) VALUES (4,1,'M 20 X 1.5'),(5,1,'76');
